#pragma once

namespace testing_support {

// The windows of the test thread that existed when the test program's main began: made by static
// objects before the program started.
int WindowsBeforeMain();

}  // namespace testing_support
