#pragma once

#include <array>

namespace widgets {

// The main window's pages; each value is the page's index in the page control.
enum class Page { Household = 0, People = 1, Diary = 2, Privacy = 3, Utilities = 4, Help = 5 };

inline constexpr int kPageCount = 6;
inline constexpr std::array<Page, kPageCount> kPages = {
    Page::Household, Page::People, Page::Diary, Page::Privacy, Page::Utilities, Page::Help};

constexpr int indexOf(Page page) {
    return static_cast<int>(page);
}

// The three pages that show one record at a time with its picture.
constexpr bool isRecordPage(Page page) {
    return page == Page::Household || page == Page::People || page == Page::Privacy;
}

} // namespace widgets
