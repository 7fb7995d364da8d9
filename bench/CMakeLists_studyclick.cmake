add_executable(bench_studyclick ${CMAKE_CURRENT_LIST_DIR}/bench_studyclick.cpp)
target_link_libraries(bench_studyclick PRIVATE mapurix_ui)
target_compile_definitions(bench_studyclick PRIVATE MAPURIX_SOURCE_DATA="${PROJECT_SOURCE_DIR}/data")
