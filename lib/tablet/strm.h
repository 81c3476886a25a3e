// Stream dictionaries: the key/value lists handed to the multimedia renderer.
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

typedef struct strm_dict strm_dict_t;

strm_dict_t* strm_dict_new(void);
// Sets key to value and returns the dictionary to use from now on. On failure (a NULL
// argument) the dictionary is destroyed and NULL is returned.
strm_dict_t* strm_dict_set(strm_dict_t* dict, const char* key, const char* value);
// For a dictionary that was not handed to mmr_input_parameters.
int strm_dict_destroy(strm_dict_t* dict);

#ifdef __cplusplus
}
#endif
