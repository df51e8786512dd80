@echo off
rem windows-suites.cmd TESTS ZIP EXAMPLES: what the Windows jobs of .github/workflows/ci.yml check, on
rem any Windows from 10 (1803) or Server 2019 on (tar and fc). It runs each test program in the folder
rem TESTS and prints its summary; unpacks ZIP (Ravelo-VERSION-ARCH.zip) as a user would, into
rem "Pasta de Teste á" in the current folder; and there converts EXAMPLES\canais.dvb from a command
rem prompt with the unpacked ravelo-convert.exe and the shipped RAVELO.INI, comparing what it prints
rem and the records it writes with those written out below. Everything runs; any failure ends it
rem with status 1. cmd reads this file in the console's code page: its byte 87 (hex) is a c cedilla
rem in every Latin one (437, 850, 860...).
setlocal EnableExtensions EnableDelayedExpansion
if "%~3"=="" (
    echo usage: windows-suites.cmd TESTS ZIP EXAMPLES 1>&2
    exit /b 2
)
set "tests=%~f1"
set "zip=%~f2"
set "examples=%~f3"
set "unpacked=%CD%\Pasta de Teste á"
set "folder=%unpacked%\%~n2"
set "failed="

if exist "%unpacked%" rmdir /s /q "%unpacked%"
mkdir "%unpacked%"
rem "call" returns here from a tar.cmd too (make test runs this under Wine, which has no tar).
call tar -xf "%zip%" -C "%unpacked%"
if not exist "%folder%\ravelo-convert.exe" (
    echo windows-suites: %~nx2 did not unpack to %folder%\ravelo-convert.exe 1>&2
    exit /b 1
)

rem Each suite on this Windows and its desktop; cli_tests starts the unpacked converter.
for %%s in (platform_tests engine_tests cli_tests ui_tests) do (
    echo %%s:
    if %%s==cli_tests (
        "%tests%\%%s.exe" --gtest_brief=1 "%folder%\ravelo-convert.exe" "%examples%"
    ) else (
        "%tests%\%%s.exe" --gtest_brief=1
    )
    rem A crash ends with a negative status, which "if errorlevel 1" would miss.
    if not "!errorlevel!"=="0" set "failed=!failed! %%s"
)

rem The example converted in the unpacked folder with its RAVELO.INI (no --ini), as in the README:
rem 27500 (6B6C) becomes 27800 (6C98) in records 1, 2 and 7, 22000 (55F0) becomes 22050 (5622) in
rem records 3 and 4; 30000 (its rule's replacement is 0), 6900, 5000 and 29900 are listed.
copy /y "%examples%\canais.dvb" "%folder%\canais.dvb" >nul
pushd "%folder%"
.\ravelo-convert.exe canais.dvb "canais convertido.dvb" >"%unpacked%\out.txt" 2>"%unpacked%\err.txt"
set "status=!errorlevel!"
popd
set "err="
for /f "usebackq delims=" %%l in ("%unpacked%\err.txt") do set "err=!err!%%l/"
set "out="
for /f "usebackq delims=" %%l in ("%unpacked%\out.txt") do set "out=!out!%%l/"
set "want=1388	5000	8/"
set "want=!want!1AF4	6900	6/"
set "want=!want!74CC	29900	10/"
set "want=!want!7530	30000	5/"
set "want=!want!Contagem de SR convertidos: 5/"
rem "Conclu√≠do com sucesso.": its accent is read in one code page or another, the rest is compared.
set "said=%err:~0,6%~%err:~-16%"
if not "!status! !said! !out!"=="0 Conclu~do com sucesso./ !want!" (
    echo ravelo-convert.exe: status !status!, printed:
    type "%unpacked%\out.txt"
    type "%unpacked%\err.txt"
    set "failed=!failed! ravelo-convert.exe"
)

rem The records: 640 bytes that differ from the example's only in these (fc /b lists "offset: old new"
rem for each differing byte; its other lines have more words).
set "want=0000000A:6B6C 0000000B:6C98 0000004A:6B6C 0000004B:6C98 0000008A:5556 0000008B:F022"
set "want=!want! 000000CA:5556 000000CB:F022 0000018A:6B6C 0000018B:6C98"
set "size="
for %%f in ("%folder%\canais convertido.dvb") do set "size=%%~zf"
set "changed="
for /f "tokens=1-4 delims=: " %%a in ('fc /b "%folder%\canais.dvb" "%folder%\canais convertido.dvb"') do (
    if "%%d"=="" set "changed=!changed! %%a:%%b%%c"
)
if not "!size!!changed!"=="640 !want!" (
    echo ravelo-convert.exe wrote other records: !size! bytes, these changed:!changed!
    set "failed=!failed! records"
)

if defined failed (
    echo windows-suites: %~n2: FAILED:!failed!
    exit /b 1
)
echo windows-suites: %~n2: every suite passed; unpacked, converted and compared
exit /b 0
