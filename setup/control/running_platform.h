// The platform class of the Windows version this process runs on.
#pragma once

unsigned char ClassifyRunningPlatform();
