# The page's flags, for all it builds: the page is downloaded whole, so its module is made as
# small as the compiler can, and nothing in it throws (a failed check aborts, and the page says
# so), so no exception support is compiled into the program. The tests keep exceptions: doctest
# reports through them.
add_compile_options($<$<CONFIG:MinSizeRel>:-Oz>)
add_link_options($<$<CONFIG:MinSizeRel>:-Oz>)
set(FIZZET_NO_EXCEPTIONS -fno-exceptions)
