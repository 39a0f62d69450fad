/* Resource identifiers shared by velmora.rc and the program code. */
#ifndef VELMORA_RESOURCE_H
#define VELMORA_RESOURCE_H

/* Icons */
#define IDI_VELMORA 1 /* program icon (also the executable's file icon) */

/* Strings */
#define IDS_APPTITLE 1 /* application title: "Velmora" */

#endif /* VELMORA_RESOURCE_H */
