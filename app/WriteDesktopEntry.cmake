# Run by cmake --install: writes the menu entry with the installed program's
# full path in Exec, so that the menu starts it from any prefix, also one
# outside PATH. The prefix is known only now (cmake --install --prefix DIR).
# Set before: ORVAK_DESKTOP_IN, ORVAK_DESKTOP_OUT, ORVAK_BINDIR.
set(bindir "${ORVAK_BINDIR}")
if(NOT IS_ABSOLUTE "${bindir}")
  set(bindir "${CMAKE_INSTALL_PREFIX}/${bindir}")
endif()
set(exec "${bindir}/OrvakSE")
# "%" starts a field code; written twice it stands for itself.
string(REPLACE "%" "%%" exec "${exec}")
# A path with a space or a character the shell reads is quoted, with the
# four characters that stay special inside the quotes escaped; a string
# value then escapes its backslashes once more.
if(NOT exec MATCHES "^[-A-Za-z0-9/._+,=@%]+$")
  string(REPLACE "\\" "\\\\" exec "${exec}")
  string(REPLACE "\"" "\\\"" exec "${exec}")
  string(REPLACE "`" "\\`" exec "${exec}")
  string(REPLACE "$" "\\$" exec "${exec}")
  set(exec "\"${exec}\"")
  string(REPLACE "\\" "\\\\" exec "${exec}")
endif()
set(ORVAK_EXEC "${exec}")
configure_file("${ORVAK_DESKTOP_IN}" "${ORVAK_DESKTOP_OUT}" @ONLY)
