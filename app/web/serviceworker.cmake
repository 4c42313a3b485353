# The service worker for one build of the page: named after the page's contents, so that a new
# page is kept in place of the old.
#   cmake -DPAGE=fizzet.html -DIN=fizzet-sw.js.in -DOUT=fizzet-sw.js -P serviceworker.cmake
file(SHA256 ${PAGE} hash)
string(SUBSTRING ${hash} 0 16 FIZZET_PAGE_HASH)
configure_file(${IN} ${OUT} @ONLY)
