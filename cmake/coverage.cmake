# The coverage report of the program's own code: `coverage_report` merges the
# profiles that the tests wrote (LLVM_PROFILE_FILE, set by the coverage test
# preset, names where) and prints a report by file.
string(REGEX MATCH "^[0-9]+" llvm_major "${CMAKE_CXX_COMPILER_VERSION}")
find_program(POOLED_LIST_LLVM_PROFDATA NAMES llvm-profdata-${llvm_major} llvm-profdata REQUIRED)
find_program(POOLED_LIST_LLVM_COV NAMES llvm-cov-${llvm_major} llvm-cov REQUIRED)
get_property(executables GLOBAL PROPERTY POOLED_LIST_TEST_EXECUTABLES)
add_custom_target(
  coverage_report
  COMMAND bash ${PROJECT_SOURCE_DIR}/cmake/coverage_report.sh ${POOLED_LIST_LLVM_PROFDATA}
          ${POOLED_LIST_LLVM_COV} ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR}/profiles
          $<TARGET_FILE:pooled-list> ${executables}
  VERBATIM)
