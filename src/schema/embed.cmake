# Writes the SQL files into one C++ string.
set(content "")
foreach(f ${FILES})
  file(READ ${f} text)
  string(APPEND content "${text}\n")
endforeach()
file(WRITE ${OUT} "#include \"schema/schemasql.h\"\nconst char* schemaSql() {\n  return R\"vesksql(${content})vesksql\";\n}\n")
