# Shared by scripts/test and scripts/demo.
# The Windows build the Wine runs use: the shipped 32-bit one where this kernel runs 32-bit
# programs (wine32 needs that), else the same sources built for x86_64 and run by wine64.
windows_test_preset() {
  if /lib/ld-linux.so.2 --version >/dev/null 2>&1; then echo win32; else echo win64-test; fi
}
