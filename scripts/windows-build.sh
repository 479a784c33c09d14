# Sourced by build-windows.sh and test-windows.sh: the cross builds for Windows, one preset and
# folder per processor.

# configure_windows i686|x86_64: sets $build to that build's folder and configures it.
configure_windows() {
    build="build-win-$1"
    cmake --preset "windows-$1" >/dev/null
}

# The processor whose programs this machine's Wine runs: i686, as shipped, unless the kernel
# runs no 32-bit programs (IA-32 emulation off), which leaves Debian's Wine only its 64-bit half.
wine_processor() {
    if /usr/lib/wine/wine --version >/dev/null 2>&1; then
        echo i686
    else
        echo x86_64
    fi
}

# use_wine_of_build i686|x86_64: the same Wine settings as the emulator in the toolchain file, for
# running the programs of $build from a script; sets $wine and makes the prefix once, before
# programs run in parallel and would all try to make it. Start the display first: the desktop
# process Wine starts with the prefix lives on with the server, and one started without a
# display makes every later window fail.
use_wine_of_build() {
    wine="$(sed -n 's/^BRELVIK_WINE:FILEPATH=//p' "$build/CMakeCache.txt")"
    # Wine names Unix files in the locale's encoding: without a UTF-8 one (a bare CI
    # environment), a name past ASCII has no Unix form and cannot be created.
    export WINEPREFIX="$PWD/$build/wineprefix" WINEARCH=win64 WINEDEBUG=-all \
        WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
    if [ "$1" = x86_64 ]; then
        export WINELOADER="$wine"
    fi
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Setting up the Wine prefix"
        "$wine" wineboot -i >/dev/null 2>&1
        # No window manager runs on the virtual display: Wine places its windows itself, instead
        # of waiting two seconds for one each time a window closes.
        "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    fi
}
