# SPDX-License-Identifier: MIT
# The hardening Debian builds its packages with (dpkg-buildflags): checked
# string and memory functions, stack protection, a position-independent
# executable and a read-only relocation table resolved at start. Not for the
# sanitizer and fuzzing builds, which bring their own instrumentation.
include(CheckPIESupported)
check_pie_supported()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security)
# The checked functions need the optimizer; a Debug build would only warn.
add_compile_options($<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE> $<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>)
add_link_options(-Wl,-z,relro,-z,now)
