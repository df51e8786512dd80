@echo off
rem stand-in.cmd COMMAND ARGS...: under Wine, runs stand-in.sh in this folder for tar.cmd and fc.cmd,
rem and waits for the status file it writes last: Wine does not wait for a Unix program.
setlocal
set "done=%CD%\stand-in-%RANDOM%%RANDOM%"
"%~dp0stand-in.sh" "%done%" %*
:wait
if not exist "%done%" goto wait
type "%done%.out"
set /p status=<"%done%"
del "%done%" "%done%.out"
exit /b %status%
