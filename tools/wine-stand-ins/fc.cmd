@rem fc /b A B: Wine 8's fc compares nothing; stand-in.sh does it with Debian's tools.
@call "%~dp0stand-in.cmd" fc %*
