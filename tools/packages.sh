# Package lists shared by run.sh and test.sh.
# Qt 6 Widgets for the platform layer; Liberation fonts stand in
# for "Arial"; xvfb, xdotool, x11-utils and imagemagick run the end-to-end window test.
BUILD_PACKAGES=(g++ cmake ninja-build pkg-config qt6-base-dev fonts-liberation)
TEST_PACKAGES=(libgtest-dev libgmock-dev googletest libbenchmark-dev xvfb xauth xdotool x11-utils imagemagick)
