# Writes the SQL files into C++ strings: each of FILES by its file name, and each of UPGRADES
# (named upgrade-N.sql, together with the files it lists in its first line) as the step that
# takes a book of version N-1 to version N.
set(files "")
foreach(f ${FILES})
  get_filename_component(name ${f} NAME)
  file(READ ${f} text)
  string(APPEND files "  if (name == \"${name}\")\n    return R\"vesksql(${text})vesksql\";\n")
endforeach()
set(cases "")
foreach(f ${UPGRADES})
  get_filename_component(name ${f} NAME_WE)
  string(REGEX REPLACE "^upgrade-" "" version ${name})
  get_filename_component(dir ${f} DIRECTORY)
  file(STRINGS ${f} first LIMIT_COUNT 1)
  set(step "")
  # "-- uses: a.sql b.sql" names shared definitions that a new book has too, so that both
  # are written from one text.
  if(first MATCHES "^-- uses: (.*)$")
    string(REPLACE " " ";" used "${CMAKE_MATCH_1}")
    foreach(u ${used})
      file(READ ${dir}/${u} text)
      string(APPEND step "${text}\n")
    endforeach()
  endif()
  file(READ ${f} text)
  string(APPEND step "${text}\n")
  string(APPEND cases "  case ${version}:\n    return R\"vesksql(${step})vesksql\";\n")
endforeach()
file(WRITE ${OUT} "#include \"schema/schemasql.h\"\n"
  "const char* sqlFile(std::string_view name) {\n${files}  return nullptr;\n}\n"
  "const char* upgradeSql(int version) {\n  switch (version) {\n${cases}  default:\n"
  "    return nullptr;\n  }\n}\n")
