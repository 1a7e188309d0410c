/* The module's binary interface: nine functions with C linkage. A host loads the library, calls
 * InitializeModule with its handle and message callback, and receives every result as one JSON
 * buffer per callback call (docs/host-protocol.md). */
#ifndef VEXA_MODULE_H
#define VEXA_MODULE_H

#include <stdbool.h>
#include <stdint.h>

#if defined(_WIN32)
#if defined(VEXA_BUILDING_MODULE)
#define VEXA_API __declspec(dllexport)
#else
#define VEXA_API __declspec(dllimport)
#endif
#elif defined(VEXA_BUILDING_MODULE)
#define VEXA_API __attribute__((visibility("default")))
#else
#define VEXA_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Receives one serialised message; handle is the value given to InitializeModule. */
typedef void (*vexa_message_callback)(uint64_t handle, const uint8_t* buffer, uint32_t length);

/* 0: initialised; 1: already initialised, no callback, or creation failed. */
VEXA_API int32_t InitializeModule(uint64_t handle, vexa_message_callback callback);
/* Sends the module definition document as one message; nothing when not initialised. */
VEXA_API void GetModuleInformation(bool loadLanguages);
/* Always 6. */
VEXA_API int32_t GetApiLevel(void);
/* The results below: the dispatcher's code (0 success), 2 if an exception escaped, 3 without module. */
VEXA_API int32_t CreateSensorInstance(int32_t sensor_id, const uint8_t* settings, uint32_t length);
VEXA_API int32_t DestroySensorInstance(int32_t sensor_id);
VEXA_API int32_t ExecuteSensorScan(int32_t sensor_id);
VEXA_API int32_t ExecuteCheck(int32_t id, const uint8_t* settings, uint32_t length);
VEXA_API int32_t ExecuteMetaScan(int32_t id, uint32_t request_number, const uint8_t* settings,
                                 uint32_t length);
/* Always 0. */
VEXA_API int32_t CleanupModule(void);

#ifdef __cplusplus
}
#endif

#endif /* VEXA_MODULE_H */
