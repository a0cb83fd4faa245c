# Run by cpack before it packs: without dpkg-shlibdeps a .deb would come out
# with no Depends at all, so packing stops and says what is missing.
if(CPACK_GENERATOR STREQUAL "DEB")
  find_program(dpkg_shlibdeps dpkg-shlibdeps)
  if(NOT dpkg_shlibdeps)
    message(FATAL_ERROR "A .deb needs dpkg-shlibdeps to find its Depends: install the Debian "
                        "package dpkg-dev.")
  endif()
endif()
