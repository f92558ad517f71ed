# Sourced by the scripts that run the sanitizer build in a real X window. Leaks are checked there as
# everywhere: detection on, and only the system libraries' own leaks (lsan.supp, each line says whose
# and why) suppressed. Options set before are kept; these come last, so they win. In the optimised build
# the variables are read by nothing.
sanitizer_support_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=1"
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$sanitizer_support_dir/lsan.supp:print_suppressions=0"
