#pragma once
// The variable store in one include: tables, shared record, access and
// assignment, instance slots and the shared-text listing.
#include "variables/instance_slots.h"
#include "variables/kor_listing.h"
#include "variables/share_memory.h"
#include "variables/variable_access.h"
#include "variables/variable_session.h"
#include "variables/variable_tables.h"
