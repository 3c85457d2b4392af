// The messages of a typography run that stops at a quotation mark it cannot
// place. Written in English; shown translated into the host's language.
#pragma once

namespace tarnik {

inline constexpr const char* kQuoteBetweenSpaces = "Quotation mark between two spaces";
inline constexpr const char* kQuoteBetweenNonSpaces = "Quotation mark between two non-spaces";
// A " right after a number (24", 5'30") is an inch or second mark: it is left.
inline constexpr const char* kInchMark = "Inch or second mark after a number (left as it is)";

// Shows one of the messages above in a plain message box.
void ShowQuoteMessage(const char* english);

}  // namespace tarnik
