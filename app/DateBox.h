#pragma once

class QDateEdit;

// Sets the date box's font so that every date of its display format shows
// whole in the box's fixed width: the window's face, made smaller only as far
// as the widest weekday and month name need.
void fitLongDates(QDateEdit *box);
