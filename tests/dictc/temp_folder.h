// The temporary folder of the tests, where they write the small source files
// they compile.
#pragma once

#include "tests/support/temp_folder.h"

namespace tarnik::tools::testing {

using TempFolder = ::testsupport::TempFolder;

}  // namespace tarnik::tools::testing
