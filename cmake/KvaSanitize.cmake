# KVA_SANITIZE="address;undefined" instruments everything built here, our code and tests alike.
if(KVA_SANITIZE)
  string(REPLACE ";" "," _kva_san "${KVA_SANITIZE}")
  add_compile_options(-fsanitize=${_kva_san} -fno-omit-frame-pointer)
  add_link_options(-fsanitize=${_kva_san})
  if("undefined" IN_LIST KVA_SANITIZE)
    add_compile_options(-fno-sanitize-recover=undefined)
  endif()
endif()
