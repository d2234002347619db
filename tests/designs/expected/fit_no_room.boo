P =  /A &  /B &  /C &  /D & E +
		 /A &  /B &  /C & D &  /E +
		 /A &  /B & C &  /D &  /E +
		 /A &  /B & C & D & E +
		 /A & B &  /C &  /D &  /E +
		 /A & B &  /C & D & E +
		 /A & B & C &  /D & E +
		 /A & B & C & D &  /E +
		A &  /B &  /C &  /D &  /E +
		A &  /B &  /C & D & E +
		A &  /B & C &  /D & E +
		A &  /B & C & D &  /E +
		A & B &  /C &  /D & E +
		A & B &  /C & D &  /E +
		A & B & C &  /D &  /E +
		A & B & C & D & E
				; 16 
S := A +
		B +
		C +
		D +
		E +
		F +
		G +
		H +
		J
				; 9 


$__SYMTAB_INFO:
Design_Name: noroom
Gal_Type: 2
Gal_Mode: 4
Clk_Pin: 1
User_ID: __LEER

Pin_Node: CLK Pin_or_Node: 1 Number: 1 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: A Pin_or_Node: 1 Number: 2 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: B Pin_or_Node: 1 Number: 3 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: C Pin_or_Node: 1 Number: 4 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: D Pin_or_Node: 1 Number: 5 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: E Pin_or_Node: 1 Number: 6 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: F Pin_or_Node: 1 Number: 7 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: G Pin_or_Node: 1 Number: 8 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: H Pin_or_Node: 1 Number: 9 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: J Pin_or_Node: 1 Number: 10 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 11 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: GND Pin_or_Node: 1 Number: 12 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
Pin_Node: NC Pin_or_Node: 1 Number: 13 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: P Pin_or_Node: 1 Number: 14 Pol: 1 IO: 2 Reg: 0 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 15 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 16 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 17 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 18 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 19 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 20 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 21 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 22 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: S Pin_or_Node: 1 Number: 23 Pol: 1 IO: 2 Reg: 1 Trst: -1 Res: 0
Pin_Node: VCC Pin_or_Node: 1 Number: 24 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
Pin_Node: AR Pin_or_Node: 2 Number: 25 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 1
Pin_Node: SP Pin_or_Node: 2 Number: 26 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 1
