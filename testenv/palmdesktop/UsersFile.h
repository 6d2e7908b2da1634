#ifndef QS_PALMDESKTOP_USERSFILE_H
#define QS_PALMDESKTOP_USERSFILE_H
/* The users file of the stand-in Palm Desktop user library ("users.txt" in
   the library's own folder), parsed from memory so that the native tests see
   exactly what the library sees.

   One line per user, "id|name|directory"; blank lines and lines starting
   with '#' are skipped, blanks around a field are dropped. Lines of the form
   "key=number" (or "root=text") are switches for the end-to-end tests:

     count=N        UmGetUserCount answers N (cut to -32768..32767)
     namelength=N   every name is answered N characters long (the name,
                    then the digits 0123456789 repeated, or the name cut)
     dirlength=N    the same for user directories
     root=TEXT      the root directory answered instead of the library's folder
     rootfails=1    UmGetRootDirectory answers 0

   Anything else is ignored line by line; nothing in the file can make the
   parser read or write outside its buffers. */
#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define QS_STANDIN_MAX_USERS 64
#define QS_STANDIN_NAME_CAPACITY 256
#define QS_STANDIN_DIRECTORY_CAPACITY 260
/* Longer files are read this far only. */
#define QS_STANDIN_MAX_FILE_SIZE 65536
/* What namelength and dirlength accept; larger values are ignored. */
#define QS_STANDIN_MAX_ANSWER_LENGTH 4096
/* No length switch given. */
#define QS_STANDIN_NATURAL_LENGTH (-1)

typedef struct StandInUser {
    uint32_t id;
    char name[QS_STANDIN_NAME_CAPACITY];
    char directory[QS_STANDIN_DIRECTORY_CAPACITY];
} StandInUser;

typedef struct StandInUsers {
    int userCount;
    StandInUser users[QS_STANDIN_MAX_USERS];
    int hasCount;
    short count;
    long nameLength;      /* QS_STANDIN_NATURAL_LENGTH or 0..QS_STANDIN_MAX_ANSWER_LENGTH */
    long directoryLength; /* likewise */
    int hasRoot;
    char root[QS_STANDIN_DIRECTORY_CAPACITY];
    int rootFails;
} StandInUsers;

/* Empty: no users, no switches. */
void standInUsersInit(StandInUsers* users);

/* Replaces users with what text (length bytes, not necessarily terminated)
   holds. A null text is an empty file. */
void standInUsersParse(StandInUsers* users, const char* text, size_t length);

/* The number UmGetUserCount answers: the count switch, else the users listed. */
short standInUserCount(const StandInUsers* users);

/* The user at index (0-based) in file order, or null. */
const StandInUser* standInUserAt(const StandInUsers* users, long index);

/* The first user with that id, or null. */
const StandInUser* standInFindUser(const StandInUsers* users, uint32_t id);

/* Copies text into buffer as a text of wantedLength characters (see the
   length switches; QS_STANDIN_NATURAL_LENGTH keeps the text as it is), never
   writing more than *size bytes and always terminating within them. *size is
   left as it was. Answers 0 when the whole text fitted, -1 for a null buffer
   or size or a size below 1 (nothing written), -2 when the text was cut. */
long standInCopyAnswer(const char* text, long wantedLength, char* buffer, const short* size);

#ifdef __cplusplus
}
#endif
#endif
