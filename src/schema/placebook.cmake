# Copies the empty book beside the program when no book is there; an existing book, with or
# without data, is left as it is.
if(NOT EXISTS "${BOOK}")
  get_filename_component(directory "${BOOK}" DIRECTORY)
  file(MAKE_DIRECTORY "${directory}")
  file(COPY_FILE "${TEMPLATE}" "${BOOK}.new")
  file(RENAME "${BOOK}.new" "${BOOK}")
  message(STATUS "A new, empty book: ${BOOK}")
endif()
