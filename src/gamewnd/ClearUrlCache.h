#pragma once

// Removes the browsers' cached data, cookies kept, then tells the player it is done.
void ClearUrlCache();
