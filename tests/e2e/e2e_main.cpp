// The end-to-end tests' main: no application here; each test starts its own
// X server and makes its Qt application on it, on the xcb platform.

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
