# Builds the Windows installer from a folder that holds angoli.wxs, angoli.ico
# and angoli.exe:
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
file(REMOVE ${codepage})
