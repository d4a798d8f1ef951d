#pragma once

#include "tests/support/Named.h"
#include "widgets/PageControl.h"

// The main window's page control, through which tests change and read the page.
inline widgets::PageControl *pageControl(const QObject &window) {
    return named<widgets::PageControl>(window, "PageControl1");
}
