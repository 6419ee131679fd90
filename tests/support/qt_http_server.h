#pragma once
// Older name of the test HTTP server and the event-loop helper, kept for
// tests written against it; new tests include the two headers directly.
#include "tests/support/local_http_server.h"
#include "tests/support/qt_event_loop.h"
