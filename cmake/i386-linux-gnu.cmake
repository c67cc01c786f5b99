# 32-bit x86 build on an amd64 Debian host: the host's gcc in -m32 mode (g++-multilib) against
# Debian's i386 multiarch packages (qtbase5-dev:i386). The host runs the programs, natively or
# through qemu-i386 registered with binfmt_misc, so this is no cross build: tests and build-time
# tools run as they are. moc, rcc and uic stay the
# host's programs (qtbase5-dev-tools).
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_C_FLAGS_INIT "-m32")
set(CMAKE_CXX_FLAGS_INIT "-m32")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-m32")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-m32")
set(CMAKE_LIBRARY_ARCHITECTURE i386-linux-gnu)
set(CMAKE_PREFIX_PATH /usr/lib/i386-linux-gnu/cmake)
# lupdate and lrelease are host programs too (qttools5-dev-tools); their CMake package is the host's.
set(Qt5LinguistTools_DIR /usr/lib/x86_64-linux-gnu/cmake/Qt5LinguistTools)
# Debian's i386 Qt packages used here are Qt 5's.
set(KV_QT 5 CACHE STRING "Qt major version to build against")
