#pragma once
// Older name of the test HTTP server, kept for tests written against it; new
// tests include "tests/support/local_http_server.h".
#include "tests/support/local_http_server.h"
