#pragma once

// What went wrong with a source. Only loadFailed is reported; receivers do not tell kinds apart.
enum class WebErrors {
    loadFailed,
};
