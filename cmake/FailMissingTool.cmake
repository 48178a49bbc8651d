# Run as a test under CI in place of tests whose tools are missing (cmake/OfcTesting.cmake).
message(FATAL_ERROR "${OFC_REASON}")
