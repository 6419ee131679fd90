# The four version numbers of the project, embedded in every executable as an
# ELF note so that the program can read the version of any file.
set(ORVANE_VERSION_MAJOR ${PROJECT_VERSION_MAJOR})
set(ORVANE_VERSION_MINOR ${PROJECT_VERSION_MINOR})
set(ORVANE_VERSION_PATCH ${PROJECT_VERSION_PATCH})
set(ORVANE_VERSION_BUILD ${PROJECT_VERSION_TWEAK})
