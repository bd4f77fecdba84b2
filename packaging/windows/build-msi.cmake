# Builds the Windows installer from a folder that holds angoli.wxs, angoli.ico,
# angoli.exe and angoli-converti.exe, for 64-bit Windows (ARCH x64) or 32-bit
# (ARCH x86):
#   cmake -D VERSION=1.00 -D ARCH=x64 -D FOLDER=<folder> -D OUTPUT=<folder>/angoli-1.00-x64.msi -P build-msi.cmake
# The build passes the project's version; the installer test passes a later one.
# wixl leaves the package's summary in English (1033) and its strings without
# a codepage; msibuild then marks both Italian (1040, Western codepage 1252),
# so the accented downgrade message reads right on every Windows.
find_program(WIXL wixl REQUIRED)
find_program(MSIBUILD msibuild REQUIRED)
# What differs between the two: the Program Files folder, the components'
# bitness and their GUIDs (a 32-bit component is another component), and the
# platform the summary names ("Intel" is 32-bit x86).
if(ARCH STREQUAL "x64")
  set(defines -D ProgramFiles=ProgramFiles64Folder -D Win64=yes
      -D ProgramGuid=b94617d9-fc16-4ed2-aed0-c8e64964ff7a -D CommandLineGuid=d7f5564d-32cc-4cc5-93b3-66ca62e984c1)
  set(platform x64)
elseif(ARCH STREQUAL "x86")
  set(defines -D ProgramFiles=ProgramFilesFolder -D Win64=no
      -D ProgramGuid=71f57932-ce80-4dc8-991f-ece6c363d989 -D CommandLineGuid=09771253-ca73-4928-98d0-5069a8417314)
  set(platform Intel)
else()
  message(FATAL_ERROR "ARCH is x64 or x86, not '${ARCH}'")
endif()
execute_process(COMMAND ${WIXL} -a ${ARCH} -D Version=${VERSION} ${defines} -o ${OUTPUT} angoli.wxs
                WORKING_DIRECTORY ${FOLDER} COMMAND_ERROR_IS_FATAL ANY)
set(codepage ${OUTPUT}.codepage.idt)
file(WRITE ${codepage} "\r\n\r\n1252\t_ForceCodepage\r\n")
execute_process(COMMAND ${MSIBUILD} ${OUTPUT} -s "Conversione angoli ${VERSION}" angoli "${platform};1040"
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
# A rebuilt package of the same version (another ProductCode) replaces the
# installed one too, rather than sitting beside it as a second Apps entry:
# the row that finds earlier versions takes its upper bound as included
# (msidbUpgradeAttributesVersionMaxInclusive), which wixl never sets.
# Attributes is part of the table's key, so the row is written anew.
execute_process(COMMAND ${MSIINFO} export ${OUTPUT} Upgrade OUTPUT_VARIABLE upgrade COMMAND_ERROR_IS_FATAL ANY)
if(NOT upgrade MATCHES "\n([^\t\r\n]*)\t([^\t\r\n]*)\t([^\t\r\n]*)\t([^\t\r\n]*)\t([0-9]+)\t([^\t\r\n]*)\tWIX_UPGRADE_DETECTED")
  message(FATAL_ERROR "no row for earlier versions in the Upgrade table:\n${upgrade}")
endif()
math(EXPR attributes "${CMAKE_MATCH_5} | 512")
run_query("DELETE FROM `Upgrade` WHERE `ActionProperty` = 'WIX_UPGRADE_DETECTED'")
run_query("INSERT INTO `Upgrade` (`UpgradeCode`, `VersionMin`, `VersionMax`, `Language`, `Attributes`, `Remove`, `ActionProperty`) VALUES ('${CMAKE_MATCH_1}', '${CMAKE_MATCH_2}', '${CMAKE_MATCH_3}', '${CMAKE_MATCH_4}', ${attributes}, '${CMAKE_MATCH_6}', 'WIX_UPGRADE_DETECTED')")
foreach(action_at RemoveEnvironmentStrings:3300 WriteEnvironmentStrings:5200)
  string(REPLACE ":" ";" action_at ${action_at})
  list(GET action_at 0 action)
  list(GET action_at 1 at)
  if(NOT sequence MATCHES "(^|\n)${action}\t")
    run_query("INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES ('${action}', ${at})")
  endif()
endforeach()
file(REMOVE ${codepage})
