# cmake -DFACTS=guide_facts.json -DIN=index.html.in -DOUT=index.html -P write_page.cmake
# Writes the page with the name of the photograph the guide shows first.
file(READ "${FACTS}" facts)
string(JSON MIRTEKA_FIRST_PICTURE GET "${facts}" entries 0 picture)
configure_file("${IN}" "${OUT}" @ONLY)
