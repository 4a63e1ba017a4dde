# cmake -DENTRADA=tanque.desktop -P comprobar_entrada.cmake: the fields that tie the entry to the program.
file(STRINGS "${ENTRADA}" lineas ENCODING UTF-8)
set(esperados
    "[Desktop Entry]"
    "Type=Application"
    "Name=Generación de Patrones para Identificación de una Planta"
    "Exec=tanque %f"
    "Icon=tanque"
    "Terminal=false"
    "StartupWMClass=tanque")
foreach(e IN LISTS esperados)
  list(FIND lineas "${e}" i)
  if(i EQUAL -1)
    message(FATAL_ERROR "${ENTRADA} lacks the line '${e}'")
  endif()
endforeach()
set(categorias "")
foreach(l IN LISTS lineas)
  if(l MATCHES "^Categories=(.*)$")
    set(categorias "${CMAKE_MATCH_1}")
  elseif(l MATCHES "^MimeType=(.*)$")
    set(tipos "${CMAKE_MATCH_1}")
  elseif(l MATCHES "^Comment=(.*)$")
    set(comentario "${CMAKE_MATCH_1}")
  endif()
endforeach()
foreach(c Education Science)
  if(NOT categorias MATCHES "(^|;)${c};")
    message(FATAL_ERROR "the categories '${categorias}' lack ${c}")
  endif()
endforeach()
# it opens the set-up files (paquete/tanque-mime.xml)
if(NOT tipos MATCHES "(^|;)application/x-tanque-configuracion;")
  message(FATAL_ERROR "the entry's MimeType '${tipos}' lacks application/x-tanque-configuracion")
endif()
if(NOT comentario MATCHES "tanque")
  message(FATAL_ERROR "the comment '${comentario}' does not say what the program is for")
endif()
