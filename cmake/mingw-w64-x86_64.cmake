# Cross build for 64-bit Windows with Debian's MinGW-w64 (the posix thread model, which
# std::thread and std::mutex need). The runtime is linked statically so that the program
# runs from a copied folder with no MinGW DLL beside it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(LS_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${LS_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LS_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${LS_MINGW_TRIPLET}-windres)
set(CMAKE_AR ${LS_MINGW_TRIPLET}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${LS_MINGW_TRIPLET}-gcc-ranlib-posix CACHE FILEPATH "")

# The libraries built by scripts/windows/build-deps.sh; override with -DLS_WINDOWS_DEPS=...
if(NOT DEFINED LS_WINDOWS_DEPS)
    set(LS_WINDOWS_DEPS ${CMAKE_CURRENT_LIST_DIR}/../build-windows-deps/prefix)
endif()
get_filename_component(LS_WINDOWS_DEPS "${LS_WINDOWS_DEPS}" ABSOLUTE)
set(LS_WINDOWS_DEPS "${LS_WINDOWS_DEPS}" CACHE PATH "Prefix of the cross-built libraries")
# try_compile projects see the toolchain file again; pass the prefix on to them.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES LS_WINDOWS_DEPS)

# Look for libraries and headers only in the target's trees, programs only on the host.
set(CMAKE_FIND_ROOT_PATH /usr/${LS_MINGW_TRIPLET} ${LS_WINDOWS_DEPS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Debian's MinGW zlib ships a DLL import library beside the static one; take the static one.
set(ZLIB_USE_STATIC_LIBS ON)

# pkg-config must not report the host's libraries.
set(ENV{PKG_CONFIG_LIBDIR} "${LS_WINDOWS_DEPS}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")
set(PKG_CONFIG_ARGN --static)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")
