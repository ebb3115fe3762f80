# The Debian package: filled in by the packaging work.
