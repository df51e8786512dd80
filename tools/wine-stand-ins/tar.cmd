@rem tar -xf ZIP -C FOLDER: Wine 8 has no tar; stand-in.sh does it with Debian's tools.
@call "%~dp0stand-in.cmd" tar %*
