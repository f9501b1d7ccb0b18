# build_dir prints the build folder BUILD_DIR names (default build) as an
# absolute path, so that it stays valid when a script changes folders.
build_dir() {
    local dir="${BUILD_DIR:-build}"
    case "$dir" in
    /*) echo "$dir" ;;
    *) echo "$PWD/$dir" ;;
    esac
}
