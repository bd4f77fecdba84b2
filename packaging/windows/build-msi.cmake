# Builds the Windows installer from a folder that holds angoli.wxs, angoli.ico,
# angoli.exe and angoli-converti.exe:
#   cmake -D VERSION=1.00 -D FOLDER=<folder> -D OUTPUT=<folder>/angoli-1.00.msi -P build-msi.cmake
# The build passes the project's version; the installer test passes a later one.
# wixl leaves the package's summary in English (1033) and its strings without
# a codepage; msibuild then marks both Italian (1040, Western codepage 1252),
# so the accented downgrade message reads right on every Windows.
find_program(WIXL wixl REQUIRED)
find_program(MSIBUILD msibuild REQUIRED)
execute_process(COMMAND ${WIXL} -a x64 -D Version=${VERSION} -o ${OUTPUT} angoli.wxs
                WORKING_DIRECTORY ${FOLDER} COMMAND_ERROR_IS_FATAL ANY)
set(codepage ${OUTPUT}.codepage.idt)
file(WRITE ${codepage} "\r\n\r\n1252\t_ForceCodepage\r\n")
execute_process(COMMAND ${MSIBUILD} ${OUTPUT} -s "Conversione angoli ${VERSION}" angoli "x64;1040"
                COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${MSIBUILD} ${OUTPUT} -i ${codepage} COMMAND_ERROR_IS_FATAL ANY)
# The install folder at the end of the system's PATH while the command line's
# converter is installed ("=-*": set on install, removed on removal, for all
# users; "[~];": after what PATH holds), so a command prompt finds it by name.
# Newer wixl (Debian 13's) writes an empty Environment table, and may sequence
# its actions: only what is missing is added.
find_program(MSIINFO msiinfo REQUIRED)
execute_process(COMMAND ${MSIINFO} tables ${OUTPUT} OUTPUT_VARIABLE tables COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${MSIINFO} export ${OUTPUT} InstallExecuteSequence
                OUTPUT_VARIABLE sequence COMMAND_ERROR_IS_FATAL ANY)
# run_query(QUERY): one query on the package.
function(run_query query)
  execute_process(COMMAND ${MSIBUILD} ${OUTPUT} -q "${query}" COMMAND_ERROR_IS_FATAL ANY)
endfunction()
if(NOT tables MATCHES "(^|\n)Environment(\r?\n|$)")
  run_query("CREATE TABLE `Environment` (`Environment` CHAR(72) NOT NULL, `Name` CHAR(255) NOT NULL, `Value` CHAR(255) LOCALIZABLE, `Component_` CHAR(72) NOT NULL PRIMARY KEY `Environment`)")
endif()
run_query("INSERT INTO `Environment` (`Environment`, `Name`, `Value`, `Component_`) VALUES ('Path', '=-*PATH', '[~];[INSTALLDIR]', 'CommandLine')")
foreach(action_at RemoveEnvironmentStrings:3300 WriteEnvironmentStrings:5200)
  string(REPLACE ":" ";" action_at ${action_at})
  list(GET action_at 0 action)
  list(GET action_at 1 at)
  if(NOT sequence MATCHES "(^|\n)${action}\t")
    run_query("INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES ('${action}', ${at})")
  endif()
endforeach()
file(REMOVE ${codepage})
