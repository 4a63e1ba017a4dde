# The dependency graph of the project's own targets (cmake --graphviz=...): libraries and programs only,
# without the tests, benchmarks, fuzz targets and outside libraries, so that the layers stand out.
set(GRAPHVIZ_GRAPH_NAME "tanque")
set(GRAPHVIZ_EXTERNAL_LIBS OFF)
set(GRAPHVIZ_GENERATE_PER_TARGET OFF)
set(GRAPHVIZ_GENERATE_DEPENDERS OFF)
set(GRAPHVIZ_CUSTOM_TARGETS OFF)
set(GRAPHVIZ_IGNORE_TARGETS "^pruebas_" "^prueba_" "^bench_" "^fuzz_" "^largo_" "icono-png")
