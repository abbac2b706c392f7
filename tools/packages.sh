# Package lists shared by run.sh and test.sh.
BUILD_PACKAGES=(g++ cmake ninja-build pkg-config)
TEST_PACKAGES=(libgtest-dev libgmock-dev googletest libbenchmark-dev)
