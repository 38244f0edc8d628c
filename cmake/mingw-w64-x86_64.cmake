# Cross-building for 64-bit Windows on Debian: the mingw-w64 GCC with the posix thread model
# (std::thread, std::mutex and the C++ runtime Qt expects). tools/build-windows.sh uses it for Qt, SDL2, the
# audio libraries and Morvil itself.
#
# MORVIL_WINDOWS_PREFIXES: the folders the Windows libraries were installed into (a list); they are searched
# beside the cross compiler's own files, and nothing of the build machine's libraries is ever found.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(mingw_triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER /usr/bin/${mingw_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER /usr/bin/${mingw_triple}-g++-posix)
set(CMAKE_RC_COMPILER /usr/bin/${mingw_triple}-windres)
set(CMAKE_AR /usr/bin/${mingw_triple}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB /usr/bin/${mingw_triple}-gcc-ranlib-posix CACHE FILEPATH "")

# try_compile reads this file again in a project of its own: hand the prefixes on.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES MORVIL_WINDOWS_PREFIXES)
set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triple} ${MORVIL_WINDOWS_PREFIXES})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config (libsndfile, libsamplerate) reads the Windows libraries' .pc files, never the build machine's.
set(pkg_config_dirs)
foreach(prefix IN LISTS MORVIL_WINDOWS_PREFIXES)
    list(APPEND pkg_config_dirs ${prefix}/lib/pkgconfig)
endforeach()
string(REPLACE ";" ":" pkg_config_dirs "${pkg_config_dirs}")
set(ENV{PKG_CONFIG_LIBDIR} "${pkg_config_dirs}")
set(ENV{PKG_CONFIG_PATH} "")
