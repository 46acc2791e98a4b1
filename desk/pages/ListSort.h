// Sorting of the pages' report lists by the texts their cells show.

#pragma once

#include <optional>
#include <string>
#include <string_view>

class QTreeWidget;

namespace desk {

// The text with only '0'..'9', '-' and '.' kept, in their order; at most 299 characters.
std::string keepNumberChars(std::string_view text);

// The number a cell shows ("THB 1,234.50", "-12.345 %", "USD 1.50 Mil."), read without the locale;
// none when the whole of its number characters is not one number ("--", "WISH", "", "1.2.3").
std::optional<double> cellNumber(std::string_view text);

// The order of two cells of a list column: column 0 (pictures) keeps the order, column 1 compares the
// texts as unsigned bytes, later columns compare numbers ascending with every cell that shows no number
// after them, equal among themselves. -1, 0 or 1; a strict weak ordering for every column.
int compareCells(int column, std::string_view a, std::string_view b);

// Sorts the list's rows by a column, ascending and stable.
void sortByColumn(QTreeWidget* list, int column);

}  // namespace desk
