# Settings that depend on the target platform.
if(WIN32)
    enable_language(RC)
    # The ANSI API throughout; Windows 7 is the oldest system we call into.
    add_compile_definitions(NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
    # One self-contained .exe: no MinGW runtime DLLs to ship next to it.
    add_link_options(-static -static-libgcc -static-libstdc++)
    # ctest runs Windows programs under Wine through this wrapper.
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine-run)
    set(RV_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
endif()

if(RV_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
    add_link_options(-fsanitize=address,undefined)
endif()

# libFuzzer steers by the coverage of the code under test, which lives in the
# libraries, so they are instrumented too (the fuzz programs add the driver).
if(RV_BUILD_FUZZ)
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()
