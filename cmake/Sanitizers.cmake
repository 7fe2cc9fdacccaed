# ASan + UBSan for the whole build; any report fails the run.
if(DEMO_SANITIZE)
  set(DEMO_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${DEMO_SANITIZER_FLAGS})
  add_link_options(${DEMO_SANITIZER_FLAGS})
endif()

# Coverage instrumentation for every library that a fuzzer links.
if(DEMO_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
