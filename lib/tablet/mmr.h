// The tablet platform's multimedia renderer on Linux: one MP3 file per context, decoded with
// libmpg123 and played on the context's own thread through its own OpenAL device.
#pragma once

#include <sys/types.h>

#include "lib/tablet/strm.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct mmr_connection mmr_connection_t;
typedef struct mmr_context mmr_context_t;

// Calls returning int give 0 (or an output/input id of 0 or more) on success and -1 with
// errno set on failure. When $TRELLIN_TABLET_TRACE names a file, every mmr_ and strm_ call
// appends a line with its arguments and result to it.

mmr_connection_t* mmr_connect(const char* name);
int mmr_disconnect(mmr_connection_t* connection);

mmr_context_t* mmr_context_create(mmr_connection_t* connection, const char* name,
                                  unsigned int flags, mode_t mode);
int mmr_context_destroy(mmr_context_t* context);

// Only "audio:default" of type "audio"; fails when no OpenAL device opens.
int mmr_output_attach(mmr_context_t* context, const char* url, const char* type);
// A "file://" URL of an MP3 file, type "autolist"; replaces the attached input. A missing or
// undecodable file fails.
int mmr_input_attach(mmr_context_t* context, const char* url, const char* type);
int mmr_input_detach(mmr_context_t* context);
// Keys "volume" ("0" to "100", where 100 is full level and every 20 below it is a tenth of
// the amplitude; 0 is silence) and "repeat" ("all" or "none"). The dictionary is consumed,
// whatever the result.
int mmr_input_parameters(mmr_context_t* context, strm_dict_t* parameters);

// Starts the attached input from its beginning (or continues a paused one) at normal speed.
int mmr_play(mmr_context_t* context);
int mmr_stop(mmr_context_t* context);
// 0 pauses, 1000 plays at normal speed; a stopped input stays stopped.
int mmr_speed_set(mmr_context_t* context, int speed);

// What the player is doing, for tests.
typedef enum {
    TABLET_PLAYER_IDLE = 0,  // no input attached
    TABLET_PLAYER_STOPPED = 1,
    TABLET_PLAYER_PLAYING = 2,
    TABLET_PLAYER_PAUSED = 3
} tablet_player_state_t;

typedef struct {
    tablet_player_state_t state;
    int volume;                        // 0 to 100
    int repeat;                        // 1 when the input repeats
    unsigned int loops;                // times the input restarted from its end
    unsigned long long frames_played;  // since the last start from the beginning
    int sample_rate;
    int channels;
} tablet_player_status_t;

int tablet_mmr_get_status(mmr_context_t* context, tablet_player_status_t* status);

#ifdef __cplusplus
}
#endif
