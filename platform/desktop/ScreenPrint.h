#pragma once

#include <QImage>

class QPrinter;

namespace platform {

// Prints the image on one page of the printer, stretched in width and height
// independently to fill the page's whole printable area. Throws core::Error,
// before anything is printed, for an empty image, and when the printer cannot
// begin the job or fails to print the page.
void printStretched(const QImage &image, QPrinter &printer);

} // namespace platform
