// The temporary folder of the tests, and whole-file reads and writes by path.
#pragma once

#include "tests/support/temp_folder.h"

namespace tarnik::testing {

using TempFolder = ::testsupport::TempFolder;
using ::testsupport::ReadFile;
using ::testsupport::WriteFile;

}  // namespace tarnik::testing
