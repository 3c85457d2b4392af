// CHyphWarnDialog: the Autohyphenation Warning. It lists the names of the H&J
// specifications that have automatic hyphenation on and offers Continue (the
// default button), Fix and Cancel. The first button pressed decides; closing
// the dialog in any other way counts as Cancel.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/xt40_xdlog.h"

namespace tarnik {

enum HyphWarnChoice : int16_t {
    kHyphWarnCancel = 0,
    kHyphWarnFix = 1,
    kHyphWarnOpen = 2,  // no button pressed yet
    kHyphWarnContinue = 3,
};

class CHyphWarnDialog : public XT40xdlog {
  public:
    static constexpr int16_t kFixItem = 1052;
    static constexpr int16_t kNamesItem = 1054;

    // `names` are cp1250, one row each.
    explicit CHyphWarnDialog(std::vector<std::string> names);

    // Runs the dialog: kHyphWarnCancel, kHyphWarnFix or kHyphWarnContinue.
    HyphWarnChoice Ask();

  protected:
    void SetUp() override;
    void ItemHit(int16_t item, int16_t listAction) override;

  private:
    std::vector<std::string> names_;
    HyphWarnChoice choice_ = kHyphWarnOpen;
};

}  // namespace tarnik
