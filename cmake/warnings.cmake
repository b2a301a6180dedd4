add_library(dorvex_warnings INTERFACE)
target_compile_options(dorvex_warnings INTERFACE -Wall -Wextra -Wpedantic -Wno-missing-field-initializers)
