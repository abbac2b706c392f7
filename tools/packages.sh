# Package lists shared by run.sh and test.sh.
# Qt 6 Widgets, print support and SVG for the platform layer; Liberation fonts stand in
# for "Arial"; xvfb, xdotool, x11-utils and imagemagick run the end-to-end window test and
# the screenshots (poppler-utils turns a printed PDF into a picture). The 3-D window draws
# through OpenGL: libqt6opengl6-dev and libgl-dev build it, Mesa's software GL
# (libgl1-mesa-dri, libglx-mesa0) draws it under the virtual X server. The locales package gives
# the sources of the German language setting that the tests make for themselves with localedef.
BUILD_PACKAGES=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-svg-dev libqt6opengl6-dev fonts-liberation libgl-dev)
TEST_PACKAGES=(libgtest-dev libgmock-dev googletest libbenchmark-dev xvfb xauth xdotool x11-utils imagemagick poppler-utils libgl1-mesa-dri libglx-mesa0 locales)
