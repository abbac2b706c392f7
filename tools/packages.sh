# Package lists shared by run.sh and test.sh.
# Qt 6 Widgets, print support and SVG for the platform layer; Liberation fonts stand in
# for "Arial"; xvfb, xdotool, x11-utils and imagemagick run the end-to-end window test and
# the screenshots (poppler-utils turns a printed PDF into a picture).
BUILD_PACKAGES=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-svg-dev fonts-liberation)
TEST_PACKAGES=(libgtest-dev libgmock-dev googletest libbenchmark-dev xvfb xauth xdotool x11-utils imagemagick poppler-utils)
