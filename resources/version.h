// The program's version: the version resource and the installer both take it from here.
#pragma once

#define MIRELO_VERSION_MAJOR 1
#define MIRELO_VERSION_MINOR 0
#define MIRELO_VERSION_PATCH 0
#define MIRELO_VERSION_BUILD 0
#define MIRELO_VERSION_TEXT "1.0.0.0"
