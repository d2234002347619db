GRUEN := RESET +
		GRUEN &  /ANF +
		GRUEN &  /T1 +
		GRUEN &  /T0 +
		ROT & GELB +
		 /ROT &  /GELB &  /GRUEN
				; 6 
GELB :=  /RESET & GRUEN & ANF & T0 & T1 +
		 /RESET & ROT &  /GELB & T0 & T1
				; 2 
ROT :=  /RESET &  /ROT & GELB +
		 /RESET & ROT &  /GELB
				; 2 
F_GRUEN :=  /RESET & ROT &  /GELB &  /T1
				; 1 
/F_ROT :=  /RESET & ROT &  /GELB &  /T1
				; 1 
T0 :=  /RESET & ROT &  /GELB &  /T0 +
		 /RESET & GRUEN &  /T0 +
		 /RESET & GRUEN & T1
				; 3 
T1 :=  /RESET & ROT &  /GELB &  /T0 & T1 +
		 /RESET & ROT &  /GELB & T0 &  /T1 +
		 /RESET & GRUEN & T1 +
		 /RESET & GRUEN & T0
				; 4 
ANF :=  /RESET &  /F_GRUEN & ANF +
		 /RESET & TASTER &  /F_GRUEN
				; 2 


$__SYMTAB_INFO:
Design_Name: ampel
Gal_Type: 0
Gal_Mode: 4
Clk_Pin: 1
User_ID: AMPEL1

Pin_Node: CLK Pin_or_Node: 1 Number: 1 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
Pin_Node: RESET Pin_or_Node: 1 Number: 2 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: TASTER Pin_or_Node: 1 Number: 3 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 4 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 5 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 6 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 7 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 8 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 9 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: GND Pin_or_Node: 1 Number: 10 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
Pin_Node: NOE Pin_or_Node: 1 Number: 11 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
Pin_Node: ROT Pin_or_Node: 1 Number: 12 Pol: 1 IO: 3 Reg: 1 Trst: -1 Res: 0
Pin_Node: GELB Pin_or_Node: 1 Number: 13 Pol: 1 IO: 3 Reg: 1 Trst: -1 Res: 0
Pin_Node: GRUEN Pin_or_Node: 1 Number: 14 Pol: 1 IO: 3 Reg: 1 Trst: -1 Res: 0
Pin_Node: F_ROT Pin_or_Node: 1 Number: 15 Pol: 0 IO: 2 Reg: 1 Trst: -1 Res: 0
Pin_Node: F_GRUEN Pin_or_Node: 1 Number: 16 Pol: 1 IO: 3 Reg: 1 Trst: -1 Res: 0
Pin_Node: ANF Pin_or_Node: 1 Number: 17 Pol: 1 IO: 3 Reg: 1 Trst: -1 Res: 0
Pin_Node: T0 Pin_or_Node: 1 Number: 18 Pol: 1 IO: 3 Reg: 1 Trst: -1 Res: 0
Pin_Node: T1 Pin_or_Node: 1 Number: 19 Pol: 1 IO: 3 Reg: 1 Trst: -1 Res: 0
Pin_Node: VCC Pin_or_Node: 1 Number: 20 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
