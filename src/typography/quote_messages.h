// The messages of a typography run that stops at a quotation mark it cannot
// place. Written in English; shown translated into the host's language.
#pragma once

namespace tarnik {

inline constexpr const char* kQuoteBetweenSpaces = "Quotation mark between two spaces";
inline constexpr const char* kQuoteBetweenNonSpaces = "Quotation mark between two non-spaces";

// Shows one of the messages above in a plain message box.
void ShowQuoteMessage(const char* english);

}  // namespace tarnik
