#include "platform/db/Connection.h"
