// XT40xdlogitem: one item of an open dialog, addressed by its number. Texts are
// cp1250 bytes, as the host shows them. Rows of a list count from 0; -1 is "no
// row". An item the dialog lacks reads as empty, unchecked and disabled.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "tarnik/xtabi.h"

namespace tarnik {

class XT40xdlogitem {
  public:
    // `radioGroup` is the group of a radio button from the dialog's template.
    XT40xdlogitem(XTDialog dialog, int16_t number, uint16_t radioGroup);

    int16_t Number() const { return number_; }

    std::string Text() const;
    void SetText(std::string_view text);
    // The text as UTF-16: for texts cp1250 cannot hold.
    std::u16string UnicodeText() const;
    void SetUnicodeText(std::u16string_view text);

    bool IsEnabled() const;
    void Enable(bool enabled);

    // Check boxes.
    bool IsChecked() const;
    void SetChecked(bool checked);

    // Radio buttons: makes this button the chosen one of its group; the chosen
    // button of this button's group (0 when none is).
    void ChooseRadio();
    int16_t ChosenRadio() const;

    // Lists.
    void ClearRows();
    void AppendRow(std::string_view text);
    int32_t RowCount() const;
    std::string Row(int32_t row) const;
    int32_t ChosenRow() const;
    void SetChosenRow(int32_t row);

  private:
    XTDialog dialog_;
    int16_t number_;
    uint16_t radioGroup_;
};

}  // namespace tarnik
