#include "platform/process/Process.h"
